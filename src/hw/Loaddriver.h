#pragma once
#include <cstdint>
#include <string>

#include "hw/Driverimages.h"
#include "platform/DriverDevice.h"

inline constexpr const char* kDriverServiceName = "KytDrv103";
inline constexpr const char* kDriverLoadFailure =
    "Driver cannot be loaded, re-install the program may fix the issue, if it happens again, report the problem "
    "with your system configuration as detail as possible.";

// Installs the hardware-access driver on demand: writes its image when the file is missing,
// registers and starts the service and opens the device.
class TLoadDriver {
public:
    TLoadDriver(bool alwaysWrite, bool stopOnUnload, bool deleteOnUnload);
    ~TLoadDriver();
    TLoadDriver(const TLoadDriver&) = delete;
    TLoadDriver& operator=(const TLoadDriver&) = delete;

    IDriverDevice::THandle GetDriverHandle() const { return m_Device; }
    const DriverImage& Image() const { return m_Image; }

    IDriverDevice::THandle LoadDriver(const std::string& serviceName, const uint8_t* image, size_t size);
    // True only when the whole image is on disk; a short or failed write leaves no file.
    bool WriteDriverImage(const std::string& path, const uint8_t* image, size_t size);
    void UnloadDriver(IDriverDevice::THandle device, const std::string& serviceName);
    bool StopDriverService();
    bool DeleteDriverService();

    // Where the driver file goes on this system.
    static std::string DriverFilePath(const std::string& serviceName);

private:
    void SelectDriverImage();

    IDriverDevice::THandle m_Device = IDriverDevice::kInvalid;
    DriverImage m_Image;
    bool m_AlwaysWrite;
    bool m_StopOnUnload;
    bool m_DeleteOnUnload;
};

TLoadDriver& GetLoadDriver(bool alwaysWrite, bool stopOnUnload, bool deleteOnUnload);
void DestroyLoadDriver();
