#pragma once
// The computer's CD drive, or a disc image that stands for one, read through libcdio: the
// track count, each track's start and the lead-out from the table of contents, and the titles
// and performers of its CD-Text where it carries any (a CUE sheet's TITLE and PERFORMER lines
// count as CD-Text).
#include <memory>
#include <string>

#include "runtime/cd/CdDevice.h"

// The disc library's own handle type, declared here so its header stays out of ours.
struct _CdIo;  // NOLINT(bugprone-reserved-identifier)

namespace cdz {

class CdioDevice final : public CdDevice {
public:
    // `source` names a drive ("/dev/sr1") or a disc image (a .cue sheet, or any image libcdio
    // knows); empty means libcdio's default drive.
    explicit CdioDevice(std::string source = {});
    ~CdioDevice() override;

    CdFault open() override;
    CdFault status() override;
    CdFault contents(CdContents& out) override;
    void close() override;
    bool isOpen() const override { return cdio_ != nullptr; }
    std::string faultDetail() const override { return detail_; }

    const std::string& source() const { return source_; }

private:
    struct Closer {
        void operator()(_CdIo* cdio) const;
    };

    std::string source_;
    std::unique_ptr<_CdIo, Closer> cdio_;
    std::string detail_;
};

}  // namespace cdz
