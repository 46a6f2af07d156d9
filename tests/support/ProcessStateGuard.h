#pragma once
// Puts the process-wide objects back to their state at start: the model store
// (PackageCreator::reset), the device object (destroyed, the default
// transport factory back) and the settings file (emptied). It does so when
// made and when destroyed, so a test that holds one from init() to cleanup()
// starts clean and leaves nothing behind for the next test function:
//
//     std::optional<ProcessStateGuard> clean; // a member of the test
//     void init() { clean.emplace(); }
//     void cleanup() { clean.reset(); }

class ProcessStateGuard
{
public:
    ProcessStateGuard();
    ~ProcessStateGuard();
    ProcessStateGuard(const ProcessStateGuard &) = delete;
    ProcessStateGuard &operator=(const ProcessStateGuard &) = delete;

    static void resetProcessState();
};
