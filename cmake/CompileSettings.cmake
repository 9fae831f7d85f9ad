# Strict settings every target of the project links to.
add_library(tavran_compile_settings INTERFACE)
target_compile_features(tavran_compile_settings INTERFACE cxx_std_20)

option(TAVRAN_WERROR "Treat compiler warnings as errors" ON)

target_compile_options(tavran_compile_settings INTERFACE
  -Wall -Wextra -Wpedantic
  -Wcast-align -Wnon-virtual-dtor -Woverloaded-virtual -Wformat=2
  $<$<BOOL:${TAVRAN_WERROR}>:-Werror>)

target_compile_definitions(tavran_compile_settings INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_FOREACH
  QT_USE_QSTRINGBUILDER
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)
