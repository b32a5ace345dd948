            12  Number of parameters
 1.0000000E+00   5.0000000E-02  ~~  Value, step then link for Phi( 1) [0; -1 < Phi < +1]
-3.0000000E-01   5.0000000E-02  ~~  Value, step then link for Phi( 2) [0; -1 < Phi < +1]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Theta( 1) [0; -1 < Theta < +1]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Theta( 2) [0; -1 < Theta < +1]
 5.8000000E+02   5.0000000E-01  ~~  Value, step then link for Intercept (at first time period) for group 1 [0; any real number]
 1.8750000E+03   0.0000000E+00  ~~  Value, step then link for Starting time period for Intervention 1 of Group 1 [0; any + integer] (Step size MUST=0)
 3.0000000E+00   0.0000000E+00  ~~  Value, step then link for Code for Intervention 1 of Group 1 [None=0; Step=1, Pulse=2, Linear trend=3] (Step size MUST=0)
-2.0000000E-02   5.0000000E-03  ~~  Value, step then link for Omega( 0) for Intervention 1 of Group 1 [0; any real number]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Omega( 1) for Intervention 1 of Group 1 [0; any real number]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Omega( 2) for Intervention 1 of Group 1 [0; any real number]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Delta( 1) for Intervention 1 of Group 1 [0; -1 < Delta < +1]
 0.0000000E+00   0.0000000E+00  ~~  Value, step then link for Delta( 2) for Intervention 1 of Group 1 [0; -1 < Delta < +1]
 1.0000000E-06  Simplex limit (+ for ABS, - for REL)
          9999  Maximum # of function calls (simplex) or iterations (Marquardt)
            10  Terminal output frequency
             0  File output frequency
  minimize.qvl  Name of output file
 1.0000000E-01  Step size reduction fraction
