# The power window's designs and questions: no window, no toolkit. A design
# is one file under power/designs.
set(VARENDO_POWER_SOURCES
  power/design.cpp
  power/reading.cpp
  power/noncentral_design.cpp
  power/answer.cpp
  power/words.cpp
  power/designs/t_one_sample.cpp
  power/designs/t_two_groups.cpp
  power/designs/anova.cpp
  power/designs/regression.cpp
  power/designs/chi_square.cpp
  power/designs/r2_increase.cpp
  power/designs/repeated.cpp
  power/designs/correlation.cpp
  power/designs/proportion.cpp
  power/designs/two_proportions.cpp
)
