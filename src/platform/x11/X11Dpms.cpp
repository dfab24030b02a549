#include "platform/x11/X11Dpms.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace quillaby::platform {

DpmsReading ReadDpms(Display* display) {
    DpmsReading reading;
    int event = 0, error = 0;
    if (display == nullptr || !DPMSQueryExtension(display, &event, &error) || !DPMSCapable(display))
        return reading;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    if (!DPMSInfo(display, &level, &enabled)) return reading;
    reading.Present = true;
    reading.Enabled = enabled;
    reading.Level = level;
    CARD16 standby = 0, suspend = 0, off = 0;
    if (DPMSGetTimeouts(display, &standby, &suspend, &off)) {
        reading.Standby = standby;
        reading.Suspend = suspend;
        reading.Off = off;
    }
    return reading;
}

} // namespace quillaby::platform
