2, priors of two parameters
  1   n 1.000E+000 2.000E+000
  2   x 0.000E+000
