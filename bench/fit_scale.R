# Fits the fit-scale benchmark's simulated ARMA(2,1) series with R's arima
# and sets the CPU times beside the benchmark's own (Simplex then Marquardt
# from phi = 0.3, 0; theta = 0; mean 4.5). arima runs as it does by
# default: a conditional sum of squares fit for the start, then the exact
# maximum likelihood. Started at the benchmark's own point instead
# (method = "ML", init = c(0.3, 0, 0, 4.5)), its optimiser stops at its
# limit of 100 iterations short of the optimum from 100,000 points on, and
# needs some 15 seconds there with the limit raised.
#
#   Rscript bench/fit_scale.R FOLDER QUORVANE_CSV [REPETITIONS]
#
# FOLDER holds the series files arma21_N.dat that bench_fit_scale wrote
# (QUORVANE_BENCH_SERIES); QUORVANE_CSV is its --benchmark_out file in CSV.
# bench/fit_scale_r.sh runs both. Each fit is timed REPETITIONS times
# (default 3) and the median CPU time (user + system) is taken, as the
# benchmark's median of its repetitions.

args <- commandArgs(trailingOnly = TRUE)
if (length(args) < 2) stop("usage: Rscript bench/fit_scale.R FOLDER QUORVANE_CSV [REPETITIONS]")
folder <- args[1]
repetitions <- if (length(args) >= 3) as.integer(args[3]) else 3L

# The benchmark's CSV follows a few lines about the machine.
lines <- readLines(args[2])
quorvane <- read.csv(text = lines[grep("^name,", lines):length(lines)], check.names = FALSE)
quorvane <- quorvane[grepl("^BM_FitArma21/[0-9]+_median$", quorvane$name), ]
quorvane$n <- as.numeric(sub("^BM_FitArma21/([0-9]+)_median$", "\\1", quorvane$name))
to_ms <- c(ns = 1e-6, us = 1e-3, ms = 1, s = 1e3)
quorvane$ms <- quorvane$cpu_time * to_ms[quorvane$time_unit]

# The series files give each value in the 7 characters from column 10,
# which is what the model reads.
read_series <- function(path) {
  lines <- readLines(path)[-1]
  as.numeric(substr(lines, 10, 16))
}

cat(sprintf("%9s %12s %12s %7s %14s %14s\n", "points", "Quorvane ms", "R ms", "R / Q",
            "Quorvane -lnL", "R -lnL"))
for (i in order(quorvane$n)) {
  n <- quorvane$n[i]
  x <- read_series(file.path(folder, sprintf("arma21_%d.dat", n)))
  times <- numeric(repetitions)
  for (r in seq_len(repetitions)) {
    t <- system.time(fit <- arima(x, order = c(2, 0, 1), include.mean = TRUE))
    times[r] <- 1000 * (t[["user.self"]] + t[["sys.self"]])
  }
  # R's -log-likelihood carries the constant (n/2)(1 + ln 2 pi) that the
  # model's -ln[L] leaves out.
  r_objective <- -fit$loglik - n / 2 * (1 + log(2 * pi))
  ms <- median(times)
  cat(sprintf("%9d %12.2f %12.2f %7.2f %14.6g %14.6g\n", n, quorvane$ms[i], ms,
              ms / quorvane$ms[i], quorvane[["-ln[L]"]][i], r_objective))
}
