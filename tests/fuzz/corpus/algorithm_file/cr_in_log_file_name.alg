             1  Number of parameters
 5.0000000E-01   5.0000000E-02  ~~  Value, step then link for 1
 1.0000000E-06  Simplex limit
          9999  Max
            10  Terminal
             0  File
          abc  Name of output file
 1.0000000E-01  Step size reduction fraction
