9
  1   U 1.000E-100 1.000E-100     Unused     Unused   Uniform - unbounded
  2   T-1.000E+000 1.000E-001 2.000E+000 5.000E-002   Uniform - bounded
  3   N-2.500E+001 5.000E-001     Unused     Unused   Gaussian or Normal
  4   E 2.000E+000 2.000E+000     Unused     Unused   Exponential
  5   G 3.000E+000 1.000E+000     Unused     Unused   Gamma
  6   B 4.000E-001 1.000E-001     Unused     Unused   Beta
  7   S 0.000E+000 1.000E+000     Unused     Unused   Left-side cliff
  8   D 1.000E+001 5.000E-001     Unused     Unused   Right-side cliff
  9   L 1.000E+000 2.500E-001     Unused     Unused   Ln-normal
