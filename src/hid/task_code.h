#pragma once

namespace mousedeck::hid {

// Task codes queued for the device worker. The numbers live only inside the
// process; codes 7, 15, 16, 19, 21, 22 and 25 are unused.
enum TaskCode : int {
    kTaskFindAndRead = 1,          // start-up: enumerate, then read the mouse
    kTaskDeviceArrived = 2,        // a supported interface arrived
    kTaskDeviceRemoved = 3,        // a supported interface went away
    kTaskReadThroughReceiver = 4,  // the user chose a mouse behind its receiver
    kTaskWriteAllSettings = 5,     // a profile was chosen or imported
    kTaskSendButtons = 6,          // commands 0x09 and 0x08
    kTaskSendLighting = 8,         // command 0x05
    kTaskSendDpiStages = 9,        // command 0x03
    kTaskSendDpiColours = 10,      // command 0x04
    kTaskSendReportRate = 11,      // command 0x02
    kTaskSendLiftOff = 12,         // command 0x06
    kTaskSendPower = 13,           // command 0x07
    kTaskSendDebounce = 14,        // command 0x07 as well
    kTaskRestoreLighting = 17,     // command 0x0E, then read the effect back
    kTaskResetDpi = 18,            // DPI defaults, then commands 0x03 and 0x04
    kTaskFactoryReset = 20,
    kTaskCheckAppUpdate = 23,
    kTaskCheckFirmware = 24,
    kTaskDownloadApp = 26,
    kTaskUpgradeFirmware = 27,
};

}  // namespace mousedeck::hid
