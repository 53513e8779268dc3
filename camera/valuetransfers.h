#pragma once

#include <functional>

class CameraData;

// The value operations a service runs on: the camera's reporting wrappers
// (zqctl), or the document's, which also mark it modified (the panel).
// Either way a failure has been reported once when one returns negative.
struct ValueTransfers
{
    std::function<int(int index, int value)> send;
    std::function<int(int index)> upload;
    std::function<int(int index)> value;
    std::function<int()> uploadAll;

    static ValueTransfers On(CameraData &camera);
};
