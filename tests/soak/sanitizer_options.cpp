// The address checker's built-in options for the soaks, which run longer than any other test.
//
// The address checker holds freed memory back to catch late uses; a small quarantine fills
// up within the warm-up instead of climbing for 256 MB through the run.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
