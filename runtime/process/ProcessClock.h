#pragma once
// How long this process has been running, as the kernel counts it from the process's creation
// (so the loading of the program and its libraries counts too). For timing reports only: the
// kernel gives the start in clock ticks, usually a hundredth of a second.
namespace cdz {

class ProcessClock {
public:
    // Milliseconds since the process was created; -1 where the kernel does not say.
    static double millisecondsSinceStart();
};

}  // namespace cdz
