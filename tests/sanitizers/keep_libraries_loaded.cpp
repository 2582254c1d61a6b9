// Sanitizer and fuzz builds only: libraries opened at run time stay loaded until the process ends.
//
// At exit Mesa unloads its software renderer, and LeakSanitizer can then neither name the
// bytes that renderer kept nor match them to a suppression. Kept loaded, the renderer's own
// globals still reach those bytes, so nothing of theirs is reported and ours still is.
extern "C" int dlclose(void*)
{
    return 0;
}
