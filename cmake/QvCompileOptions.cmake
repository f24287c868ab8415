# Warning and sanitizer flags shared by the library, its tests, tools and benchmarks.
add_library(qv_options INTERFACE)
target_compile_options(qv_options INTERFACE -Wall -Wextra -Wshadow -Wno-unused-parameter)
# GCC 12 at -O3 reports std::string concatenations of a literal and a temporary as overlapping
# copies inside libstdc++ (a false -Wrestrict, fixed in GCC 13).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(qv_options INTERFACE -Wno-restrict)
endif()
# Windows programs link the compiler's runtime statically, so that they run without its DLLs.
if(MINGW)
  add_link_options(-static)
endif()
if(QV_WARNINGS_AS_ERRORS)
  target_compile_options(qv_options INTERFACE -Werror)
endif()

if(QV_SANITIZE AND QV_TSAN)
  message(FATAL_ERROR "QV_SANITIZE and QV_TSAN cannot be combined")
endif()
if(QV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QV_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
