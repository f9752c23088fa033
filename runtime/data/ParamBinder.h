#pragma once
// The parameters of a statement, numbered from 1, whichever storage engine runs it. Record
// buffers, keys and filters bind their values through it, so that they do not depend on the
// engine.
#include <cstdint>
#include <string_view>

namespace cdz {

class ParamBinder {
public:
    virtual ~ParamBinder() = default;

    virtual void bindInteger(int param, int64_t value) = 0;
    virtual void bindReal(int param, double value) = 0;
    // `kept`: the text stays where it is until the statement has stepped, so the engine may
    // use it without copying.
    virtual void bindText(int param, std::string_view value, bool kept = false) = 0;
    virtual void bindNull(int param) = 0;

protected:
    ParamBinder() = default;
    ParamBinder(const ParamBinder&) = default;
    ParamBinder& operator=(const ParamBinder&) = default;
};

}  // namespace cdz
