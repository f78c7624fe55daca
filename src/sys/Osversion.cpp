#include "sys/Osversion.h"

#include "platform/Platform.h"
#include "sys/Singletons.h"

namespace {
uint32_t ReleaseCode(const TOsVersionRecord& v) {
    if (v.PlatformId == 1) return v.Major == 4 ? TOsVersion::kWin9x : 0;
    if (v.PlatformId != 2) return 0;
    switch (v.Major) {
        case 5:
            return TOsVersion::kWin2000Xp;
        case 6:
            switch (v.Minor) {
                case 0:
                    return TOsVersion::kVista;
                case 1:
                    return TOsVersion::kWin7;
                case 2:
                    return TOsVersion::kWin8;
                case 3:
                    return TOsVersion::kWin81;
                default:
                    return 0;
            }
        case 10:
            return v.Minor == 0 ? TOsVersion::kWin10 : 0;
        default:
            return 0;
    }
}
}  // namespace

TOsVersion::TOsVersion() {
    IOsInfo& os = *GetPlatform().Os;
    if (!os.QueryVersion(m_Version)) {
        m_Version = {};
        return;
    }
    bool native = os.HasEntryPoint("kernel32.dll", "GetNativeSystemInfo");
    m_ProcessorArchitecture = os.ProcessorArchitecture(native);
    m_Flags = ReleaseCode(m_Version);
    if (m_Version.Major > 4) {
        if (m_ProcessorArchitecture == IOsInfo::kArchAmd64) m_Flags |= kBitX64;
        if (m_ProcessorArchitecture == IOsInfo::kArchIa64) m_Flags |= kBitIa64;
    }
}

bool TOsVersion::IsNotWow64() const {
    IOsInfo& os = *GetPlatform().Os;
    if (!os.HasEntryPoint("kernel32", "IsWow64Process")) return true;
    return !os.IsWow64Process();
}

TOsVersion& GetOsVersion() { return SingletonOf<TOsVersion>(); }
