// The address checker's defaults for the soaks: a small quarantine, so that freed memory held
// back to catch late uses fills up within the warm-up instead of climbing for 256 MB.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
