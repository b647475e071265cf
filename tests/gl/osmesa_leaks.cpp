// Mesa keeps some state of an off-screen context for the life of the process;
// that is the driver's, not ours, so the leak checker is told to ignore it.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libOSMesa.so\n";
}
