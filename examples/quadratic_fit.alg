             3  Number of parameters
 1.0000000E+00   1.0000000E-01  ~~  Value, step then link for Intercept a of y = a + b*t + c*t^2 [0; any value]
 5.0000000E-01   5.0000000E-02  ~~  Value, step then link for Linear coefficient b [0; any value]
-1.0000000E-01   1.0000000E-02  ~~  Value, step then link for Quadratic coefficient c [0; any value]
 1.0000000E-06  Simplex limit (+ for ABS, - for REL)
          9999  Maximum # of function calls (simplex) or iterations (Marquardt)
            10  Terminal output frequency
             0  File output frequency
  minimize.qvl  Name of output file
 1.0000000E-01  Step size reduction fraction
