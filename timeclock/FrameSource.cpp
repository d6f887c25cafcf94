#include "timeclock/FrameSource.h"

#include "timeclock/CameraFrameSource.h"

namespace {
std::function<std::unique_ptr<FrameSource>()> &installedFactory()
{
    static std::function<std::unique_ptr<FrameSource>()> factory;
    return factory;
}
} // namespace

std::unique_ptr<FrameSource> NewFrameSource()
{
    if (installedFactory())
        return installedFactory()();
    return std::make_unique<CameraFrameSource>();
}

void SetFrameSourceFactory(std::function<std::unique_ptr<FrameSource>()> factory)
{
    installedFactory() = std::move(factory);
}
