             3  Number of parameters
 5.0000000E-01   5.0000000E-02  ~~  Value, step then link for Phi( 1) [0; -1 < Phi < +1]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Theta( 1) [0; -1 < Theta < +1]
 5.0000000E+01   1.0000000E+00  ~~  Value, step then link for Intercept (at first time period) for group 1 [0; any real number]
 1.0000000E-10  Simplex limit (+ for ABS, - for REL)
          9999  Maximum # of function calls (simplex) or iterations (Marquardt)
            10  Terminal output frequency
             0  File output frequency
  minimize.qvl  Name of output file
 1.0000000E-01  Step size reduction fraction
