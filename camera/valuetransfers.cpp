#include "valuetransfers.h"

#include "cameradata.h"

ValueTransfers ValueTransfers::On(CameraData &camera)
{
    return {[&camera](int index, int value) { return camera.SendParam(index, value); },
            [&camera](int index) { return camera.UploadParam(index); },
            [&camera](int index) { return camera.GetValue(index); },
            [&camera] { return camera.UploadAll(); }};
}
