// The sanitizers' built-in options for the soaks, which run longer than any other test.
//
// The address checker holds freed memory back to catch late uses; a small quarantine fills
// up within the warm-up instead of climbing for 256 MB through the run.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

// Qt Gui converts large pictures in pieces on Qt's thread pool, whose threads take their tasks
// and hand back their results under Qt's own locks, invisible to the thread checker since Qt
// is not instrumented: the tasks and pieces, allocated on one thread and freed on another,
// read as races at every screen that shows a large picture. Only the allocations, frees and
// copies made by Qt's own code are set aside; every access made by the project's code (the
// worker's hand-over, the steps, the paints) stays watched.
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libQt6Core.so.6\n"
         "called_from_lib:libQt6Gui.so.6\n";
}
