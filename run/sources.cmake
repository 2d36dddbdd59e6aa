# The Run command and the number texts, for the program and the fuzz targets.
set(VARENDO_RUN_SOURCES
  platform/text.cpp
  platform/exact_decimal.cpp
  platform/number_text.cpp
  platform/failure_text.cpp
  run/distribution.cpp
  run/messages.cpp
  run/value_text.cpp
  run/exact_text.cpp
  run/critical_text.cpp
  run/wrap.cpp
  run/box_note.cpp
  run/run_command.cpp
)
