#pragma once
// A drive for tests: it answers from a script and counts how often it was opened and closed,
// so a test sees that every read closes what it opened.
#include "runtime/cd/CdDevice.h"

namespace cdz {

class ScriptedCdDevice final : public CdDevice {
public:
    struct Script {
        CdFault openFault = CdFault::None;
        CdFault statusFault = CdFault::None;
        CdFault contentsFault = CdFault::None;
        CdContents contents;
    };

    explicit ScriptedCdDevice(Script script) : script_(std::move(script)) {}

    CdFault open() override;
    CdFault status() override;
    CdFault contents(CdContents& out) override;
    void close() override;
    bool isOpen() const override { return open_; }

    int opens() const { return opens_; }    // opens that succeeded
    int closes() const { return closes_; }  // closes of an open device

private:
    Script script_;
    bool open_ = false;
    int opens_ = 0;
    int closes_ = 0;
};

}  // namespace cdz
