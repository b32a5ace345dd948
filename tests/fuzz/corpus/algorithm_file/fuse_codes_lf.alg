             4  Number of parameters
 1.0000000E+00   1.0000000E+00   a  Value, step then link for one letter
 2.0000000E+00   1.0000000E+00   A  Value, step then link for one capital
 3.0000000E+00   0.0000000E+00  ab  Value, step then link for two letters
 4.0000000E+00   0.0000000E+00  1A  Value, step then link for not a code
 1.0000000E-06  Simplex limit (+ for ABS, - for REL)
          9999  Maximum # of function calls (simplex) or iterations (Marquardt)
            10  Terminal output frequency
             0  File output frequency
  minimize.qvl  Name of output file
 1.0000000E-01  Step size reduction fraction


