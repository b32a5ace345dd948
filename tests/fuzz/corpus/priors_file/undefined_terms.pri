3
  1   G 1.000E+000 2.000E+000     Unused     Unused   Gamma
  2   B 1.500E+000 1.000E-001     Unused     Unused   Beta
  3   T 2.000E+000 1.000E-001 1.000E+000 5.000E-002   Uniform - bounded
