// ThreadSanitizer reads its options and suppressions from these hooks before main; builds without
// it ignore them. It stops at the first report. Races it reports entirely inside Qt's own
// libraries are not ours to mend: Qt is not built with the tool and synchronises through its own
// atomics and futexes, which the tool cannot see.
extern "C" const char* __tsan_default_options() { return "halt_on_error=1:second_deadlock_stack=1:history_size=4"; }

extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libQt6Multimedia.so.6\n"
           "called_from_lib:libQt6OpenGL.so.6\n"
           "called_from_lib:libQt6XcbQpa.so.6\n"
           "called_from_lib:libqoffscreen.so\n";
}
