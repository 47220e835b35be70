# Warnings for every target of ours, linked PRIVATE so they never leak to users
# of the libraries. Errors, not warnings: a warning left alone is a fault later.
add_library(kartoval_warnings INTERFACE)
target_compile_options(kartoval_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)

# The sanitizer build instruments everything, including the tests.
option(KARTOVAL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(KARTOVAL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
