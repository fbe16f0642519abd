// The sanitizers' built-in options for the soaks, which run longer than any other test.
//
// The address checker holds freed memory back to catch late uses; a small quarantine fills
// up within the warm-up instead of climbing for 256 MB through the run.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

// Qt Gui converts large pictures in pieces on Qt's thread pool, which hands each piece over
// under Qt's own lock, invisible to the thread checker: the piece and its task, allocated on
// the UI thread and freed on the pool's, read as races at every screen that shows one. Only
// the allocations and frees Qt Gui makes itself and the pool's task bookkeeping are set
// aside; the worker's hand-over and the screen's own code stay watched.
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libQt6Gui.so.6\n"
         "race:QRunnable::create\n"
         "race:QThreadPoolPrivate::enqueueTask\n";
}
