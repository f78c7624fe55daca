#include "hw/Smbiosbase.h"

#include <cstring>

#include "platform/Platform.h"
#include "sys/Bytes.h"
#include "sys/Singletons.h"

using bytes::Get16;
using bytes::Get32;
using bytes::Put16;
using bytes::Put32;

namespace {
constexpr uint64_t kBiosArea = 0xE0000;
constexpr uint32_t kBiosAreaLength = 0x20000;
constexpr uint32_t kRawSmbios = 0x52534D42;  // 'RSMB'

uint8_t Sum(const uint8_t* bytes, size_t size) {
    uint8_t sum = 0;
    for (size_t i = 0; i < size; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
    return sum;
}
}  // namespace

TSmbiosBase::TSmbiosBase() {
    if (!MemoryRoute()) FirmwareRoute();
    if (!m_TablePresent) return;
    WalkStructures([this](size_t at, uint8_t formatted) { ReadStructure(at, formatted); });
    m_Mismatch = m_Announced != m_Installed;
}

bool TSmbiosBase::MemoryRoute() {
    for (uint32_t occurrence = 0;; ++occurrence) {
        uint64_t found = m_Channel.SearchPhysicalMemory(kBiosAreaLength, 1, 4, "_SM_", occurrence, kBiosArea);
        if ((found & 0xFFFFFFFF) == 0xFFFFFFFF) return false;
        uint8_t entry[31] = {};
        m_Channel.ReadPhysicalMemory(entry, sizeof(entry), found);
        if (Sum(entry, sizeof(entry)) != 0) continue;
        m_EntryPointAddress = static_cast<uint32_t>(found);
        m_TableLength = Get16(entry + 22);
        m_TableAddress = Get32(entry + 24);
        m_Version = entry[6] * 16 + entry[7];
        std::memcpy(m_EntryPoint.data(), entry, sizeof(entry));
        m_TablePresent = true;
        m_Table.assign(m_TableLength, 0);
        m_Channel.ReadPhysicalMemory(m_Table.data(), m_TableLength, m_TableAddress);
        return true;
    }
}

bool TSmbiosBase::FirmwareRoute() {
    IOsInfo& os = *GetPlatform().Os;
    if (!os.HasEntryPoint("kernel32.dll", "GetSystemFirmwareTable")) return false;
    const uint32_t size = os.SystemFirmwareTable(kRawSmbios, 0, nullptr, 0);
    if (size == 0) return false;
    std::vector<uint8_t> buffer(size);
    const uint32_t got = os.SystemFirmwareTable(kRawSmbios, 0, buffer.data(), size);
    if (got == 0 || got > size || got < 8) return false;
    const uint8_t major = buffer[1];
    const uint8_t minor = buffer[2];
    const uint32_t length = Get32(buffer.data() + 4);
    // The table is read only as far as the buffer holds it.
    const size_t available = got - 8;
    m_TableLength = static_cast<uint16_t>(length);
    m_Table.assign(buffer.begin() + 8, buffer.begin() + 8 + std::min<size_t>(m_TableLength, available));
    m_TableLength = static_cast<uint16_t>(m_Table.size());
    m_Version = major * 16 + minor;
    m_EntryPointAddress = 0xFFFFFFFF;
    m_TableAddress = 0xFFFFFFFF;
    m_TablePresent = true;
    m_FromFirmware = true;
    BuildSubstituteEntryPoint(major, minor);
    return true;
}

void TSmbiosBase::BuildSubstituteEntryPoint(uint8_t major, uint8_t minor) {
    uint8_t* e = m_EntryPoint.data();
    std::memset(e, 0, m_EntryPoint.size());
    std::memcpy(e, "RSMB", 4);
    e[5] = 31;
    e[6] = major;
    e[7] = minor;
    std::memset(e + 8, 0xFF, 4);
    std::memcpy(e + 16, "_DMI_", 5);
    Put16(e + 22, m_TableLength);
    Put32(e + 24, 0xFFFFFFFF);
    Put16(e + 28, WalkStructures([](size_t, uint8_t) {}));
    e[30] = static_cast<uint8_t>(major * 16 + minor);
    e[21] = static_cast<uint8_t>(-Sum(e + 16, 15));
    e[4] = static_cast<uint8_t>(-Sum(e, 31));
}

template <class TAction>
uint16_t TSmbiosBase::WalkStructures(TAction action) const {
    uint16_t count = 0;
    const size_t size = m_Table.size();
    size_t at = 0;
    while (at + 4 <= size) {
        const uint8_t formatted = m_Table[at + 1];
        if (formatted < 4 || at + formatted > size) break;
        action(at, formatted);
        ++count;
        // The string set ends with two NUL bytes.
        size_t next = at + formatted;
        while (next + 1 < size && !(m_Table[next] == 0 && m_Table[next + 1] == 0)) ++next;
        at = next + 2;
    }
    return count;
}

std::string TSmbiosBase::StructureString(size_t at, uint8_t formatted, uint8_t number) const {
    if (number == 0) return std::string();
    size_t position = at + formatted;
    for (uint8_t n = 1; position < m_Table.size(); ++n) {
        size_t end = position;
        while (end < m_Table.size() && m_Table[end] != 0) ++end;
        if (end == position) return std::string();  // the set ended first
        if (n == number)
            return std::string(m_Table.begin() + static_cast<long>(position), m_Table.begin() + static_cast<long>(end));
        position = end + 1;
    }
    return std::string();
}

void TSmbiosBase::ReadStructure(size_t at, uint8_t formatted) {
    const uint8_t* s = m_Table.data() + at;
    // Fields beyond the structure's formatted length read as 0.
    auto byteAt = [&](size_t offset) -> uint8_t { return offset < formatted ? s[offset] : 0; };
    auto wordAt = [&](size_t offset) -> uint16_t { return offset + 2 <= formatted ? Get16(s + offset) : 0; };
    auto dwordAt = [&](size_t offset) -> uint32_t { return offset + 4 <= formatted ? Get32(s + offset) : 0; };

    if (s[0] == 16) {
        m_Announced = static_cast<uint16_t>(m_Announced + wordAt(13));
    } else if (s[0] == 17) {
        if (m_SlotIndex >= kSlots) return;
        TMemorySlot& slot = m_Slots[m_SlotIndex++];
        const uint16_t size = wordAt(12);
        if (size == 0xFFFF || size == 0) return;
        slot.Present = true;
        ++m_Installed;
        slot.Attributes = byteAt(27);
        slot.MemoryType = byteAt(18);
        slot.Speed = wordAt(21);
        slot.ConfiguredSpeed = wordAt(32);
        slot.FormFactor = byteAt(14);
        std::string locator = StructureString(at, formatted, byteAt(16));
        size_t first = locator.find_first_not_of(' ');
        size_t last = locator.find_last_not_of(' ');
        slot.Locator = first == std::string::npos ? std::string() : locator.substr(first, last - first + 1);
        if (size == 0x7FFF) {
            slot.SizeGb = static_cast<float>(dwordAt(28) / 1024);
        } else if (size & 0x8000) {
            slot.SizeGb = 0;
        } else {
            slot.SizeGb = static_cast<float>(size / 1024);
        }
    }
}

TSmbiosBase& GetSmbios() { return SingletonOf<TSmbiosBase>(); }
