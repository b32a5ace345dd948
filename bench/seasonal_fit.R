# R's arima on the two fits of bench_seasonal_fit, for the ratios in the
# README: the airline model (0,1,1)(0,1,1)12 on log AirPassengers, and the
# same model with period 24 on 10,000 simulated hourly points (the same
# model, innovations of standard deviation 0.01, R's own random numbers).
# Exact maximum likelihood (method "ML"), the whole fit in process, the
# median processor time (user and system) of several runs: on a shared
# machine that is steadier than the time on the clock, and it is what the
# benchmark program reports as CPU. Run it beside the benchmark program:
#   Rscript bench/seasonal_fit.R
# It does nothing when R is not installed (the shell finds no Rscript).
median_time <- function(runs, expr) {
  times <- numeric(runs)
  for (i in seq_len(runs)) {
    t <- system.time(expr())
    times[i] <- t[["user.self"]] + t[["sys.self"]]
  }
  median(times)
}

airline <- function() arima(log(AirPassengers), order = c(0, 1, 1),
                            seasonal = list(order = c(0, 1, 1), period = 12), method = "ML")
cat(sprintf("R arima, airline model, log AirPassengers (144): %.2f ms\n",
            1000 * median_time(21, airline)))

set.seed(2025)
w <- arima.sim(list(ma = c(-0.4, rep(0, 22), -0.6, 0.24)), n = 10000, sd = 0.01)
x <- diffinv(diffinv(as.numeric(w), lag = 24), lag = 1)[-(1:25)]
hourly <- function() arima(x, order = c(0, 1, 1),
                           seasonal = list(order = c(0, 1, 1), period = 24), method = "ML")
fit <- hourly()
cat(sprintf("R arima, (0,1,1)(0,1,1)24, 10,000 points: %.0f ms (ma1 %.4f, sma1 %.4f)\n",
            1000 * median_time(5, hourly), coef(fit)[["ma1"]], coef(fit)[["sma1"]]))
