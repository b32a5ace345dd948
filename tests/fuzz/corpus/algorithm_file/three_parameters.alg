             3  Number of parameters
 5.0000000E-01   5.0000000E-02  ~~  Value, step then link for Description of parameter 1
-1.2500000E-03   0.0000000E+00  ~~  Value, step then link for Description of parameter 2
 1.2000000E+01   1.5000000E+00  AB  Value, step then link for Description of parameter 3
 1.0000000E-06  Simplex limit (+ for ABS, - for REL)
          9999  Maximum # of function calls (simplex) or iterations (Marquardt)
            10  Terminal output frequency
             0  File output frequency
  minimize.qvl  Name of output file
 1.0000000E-01  Step size reduction fraction
