// Defaults of the sanitizer builds, compiled into every program of such a build
// (tests, tools and VUX_GMouse itself), so they hold however a program is
// started. Options given in the environment still take precedence.

extern "C" {

const char* __asan_default_options() {
    return "detect_leaks=1:abort_on_error=0";
}

const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

const char* __tsan_default_options() {
    return "halt_on_error=1:second_deadlock_stack=1";
}

// Allocations that system libraries keep for the life of the process: caches
// of fontconfig, connections of D-Bus and X. They are not ours to free.
const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n"
           "leak:libxcb\n"
           "leak:libX11.so\n"
           "leak:libxkbcommon\n"
           "leak:libglib-2.0.so\n";
}

} // extern "C"
