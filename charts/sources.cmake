# The pictures: the result's plot and the power window's two, over one
# chart unit that holds their geometry.
set(VARENDO_CHARTS_SOURCES
  charts/chart.cpp
  charts/axis.cpp
  charts/sampled.cpp
  charts/plot.cpp
  charts/power_pictures.cpp
)
