# Compiler flags shared by every target of the project.
add_library(mousedeck_flags INTERFACE)
target_compile_options(mousedeck_flags INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  $<$<CXX_COMPILER_ID:GNU>:-Wsuggest-override>
  $<$<CXX_COMPILER_ID:Clang>:-Winconsistent-missing-override>)
# GCC 12 reports -Wrestrict on std::string's own inlined copies in optimised
# builds (a known false positive of that release), never on our code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(mousedeck_flags INTERFACE -Wno-restrict)
endif()
if(MOUSEDECK_WERROR)
  target_compile_options(mousedeck_flags INTERFACE -Werror)
endif()

if(MOUSEDECK_SANITIZE AND MOUSEDECK_TSAN)
  message(FATAL_ERROR "MOUSEDECK_SANITIZE and MOUSEDECK_TSAN cannot be combined")
endif()
if(MOUSEDECK_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_san})
  add_link_options(${_san})
endif()
if(MOUSEDECK_TSAN)
  set(_san -fsanitize=thread -fno-omit-frame-pointer)
  add_compile_options(${_san})
  add_link_options(${_san})
endif()
