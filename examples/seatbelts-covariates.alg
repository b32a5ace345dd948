            18  Number of parameters
 5.0000000E-01   5.0000000E-02  ~~  Value, step then link for Phi( 1) [0; -1 < Phi < +1]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Theta( 1) [0; -1 < Theta < +1]
 1.2000000E+02   5.0000000E+00  ~~  Value, step then link for Intercept (at first time period) for group 1 [0; any real number]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Backward shift for TFN covariate series 1 of Group 1 [0; any + integer]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Intercept (at first time period) for TFN covariate series 1 of Group 1 [0 (uses series mean); any fixed real number]
 0.0000000E+00   1.0000000E-01  ~~  Value, step then link for Omega( 0) for TFN covariate series 1 of Group 1 [0; any real number]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Omega( 1) for TFN covariate series 1 of Group 1 [0; any real number]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Delta( 1) for TFN covariate series 1 of Group 1 [0; -1 < Delta < +1]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Backward shift for TFN covariate series 2 of Group 1 [0; any + integer]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Intercept (at first time period) for TFN covariate series 2 of Group 1 [0 (uses series mean); any fixed real number]
 0.0000000E+00   5.0000000E-01  ~~  Value, step then link for Omega( 0) for TFN covariate series 2 of Group 1 [0; any real number]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Omega( 1) for TFN covariate series 2 of Group 1 [0; any real number]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Delta( 1) for TFN covariate series 2 of Group 1 [0; -1 < Delta < +1]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Unused backward shift for TFN covariate series 3 of Group 1 [0]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Unused intercept (at first time period) for TFN covariate series 3 of Group 1 [0]
 0.0000000E+00   5.0000000E+00  ~~  Value, step then link for Omega( 0) for TFN covariate series 3 of Group 1 [0; any real number]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Omega( 1) for TFN covariate series 3 of Group 1 [0; any real number]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Delta( 1) for TFN covariate series 3 of Group 1 [0; -1 < Delta < +1]
 1.0000000E-09  Simplex limit (+ for ABS, - for REL)
          9999  Maximum # of function calls (simplex) or iterations (Marquardt)
            10  Terminal output frequency
             0  File output frequency
  minimize.qvl  Name of output file
 1.0000000E-01  Step size reduction fraction
