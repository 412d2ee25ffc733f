# Read by CTest in a sanitizer build (SHULIN_SANITIZE) before any test runs.  The settings go
# into CTest's own environment, so every test and every process a test starts has them:
# AddressSanitizer and UndefinedBehaviorSanitizer stop at their first report, and
# LeakSanitizer checks every process at its exit.  Options already set by the caller come last
# and so win.
set(ENV{ASAN_OPTIONS} "halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:$ENV{ASAN_OPTIONS}")
set(ENV{LSAN_OPTIONS} "suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0:$ENV{LSAN_OPTIONS}")
set(ENV{UBSAN_OPTIONS} "halt_on_error=1:print_stacktrace=1:$ENV{UBSAN_OPTIONS}")
