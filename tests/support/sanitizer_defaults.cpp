// Leaks that belong to the system libraries under Qt, not to our code: the
// leak checker ignores them and keeps watching everything else.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libQt6Gui.so\n"
         "leak:libQt6Core.so\n"
         "leak:libQt6Widgets.so\n"
         "leak:libdbus-1.so\n"
         "leak:libglib-2.0.so\n";
}
