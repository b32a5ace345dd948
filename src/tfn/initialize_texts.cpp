#include "tfn/initialize_texts.h"

namespace quorvane {

const char* const kInitializeWhatIDoText =
    "This model custom analyzes time series data in accordance with the data input and model "
    "hypotheses posed by the analyst.  Its primary feature is that several time series can be "
    "analysed simultaneously.  The design follows the classical approach to time series "
    "analysis, in which autoregressive moving-average noise is combined with intervention and "
    "transfer-function terms, extended here to groups of series that share their parameters."
    "\r\n\r\n"
    "Reference: the standard textbook treatment of time series analysis, forecasting and "
    "control with autoregressive integrated moving-average, intervention and "
    "transfer-function-noise models.";

const char* const kInitializeDataFormatText =
    "The response series data input format for consecutive time periods (records) is the time "
    "period, then as many sequential time series as practical, is '#######, #######, #######, "
    "...'.  The covariate series data input format for consecutive time periods (records) is "
    "the time period, then as many sequential time series as practical, is '#######, #######, "
    "#######, ...'.  Note that a space follows the opening quote and each comma.";

const char* const kInitializeLimitsText =
    "( 1) The value 'Missing' is treated as a missing value in response and covariate series.\r\n"
    "( 2) The maximum AR (Phi) or MA (Theta) lag available for any analysis is assigned on this "
    "initialization form.\r\n"
    "( 3) There is only a practical limit to the number of response series that can be "
    "accommodated.\r\n"
    "( 4) Up to 25 covariate series can be accommodated for TFN analyses; up to five for each "
    "response series group.\r\n"
    "( 5) The maximum Intervention and TFN Omega and Delta lags available for any analysis is "
    "the same as the number of AR and MA lags.\r\n"
    "( 6) There is only a practical limit to the number of intervention series for each series "
    "group.\r\n"
    "( 7) By making choices in the algortihm data, the form of the intervention series,and the "
    "affected time periods, can be defined.\r\n"
    "( 8) Both the response and covariate series can be first or second differenced.\r\n"
    "( 9) Inter-series covariance among simultaneous response series can be removed.";

}  // namespace quorvane
