#include "gate/PinSource.h"

namespace {

class ClosedKeypad final : public PinSource
{
public:
    std::optional<QString> askPin() override { return std::nullopt; }
};

PinSource *g_source = nullptr;

} // namespace

PinSource &CurrentPinSource()
{
    static ClosedKeypad closed;
    return g_source ? *g_source : closed;
}

void SetPinSource(PinSource *source)
{
    g_source = source;
}
