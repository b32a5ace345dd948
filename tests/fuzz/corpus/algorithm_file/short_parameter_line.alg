             1  Number of parameters
 5.0000000E-01   5.0000000E-02
 1.0000000E-06  Simplex limit (+ for ABS, - for REL)
          9999  Maximum # of function calls (simplex) or iterations (Marquardt)
            10  Terminal output frequency
             0  File output frequency
  minimize.qvl  Name of output file
 1.0000000E-01  Step size reduction fraction
