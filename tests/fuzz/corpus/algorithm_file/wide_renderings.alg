             2  Number of parameters
-1.2345678E-100   5.0000000E-02  ~~  Value, step then link for a wide value
 1.0000000E+00 -2.5000000E-100  AB  Value, step then link for a wide step
-1.0000000E-100
          9999  Maximum # of function calls (simplex) or iterations (Marquardt)
            10  Terminal output frequency
             5  File output frequency
      name.qvl  Name of output file
-5.0000000E-01  Step size reduction fraction
