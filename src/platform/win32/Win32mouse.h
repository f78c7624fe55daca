#pragma once
#include <cstdint>

#include "platform/MouseEvents.h"

struct IDirectInput8W;
struct IDirectInputDevice8W;

// DirectInput 8 reports of the system mouse (all mice together), buffered by DirectInput and
// drained after each notification.
class TWin32Mouse : public IMouseEvents {
public:
    // Items DirectInput keeps between two drains; one report takes an item per axis or button.
    static constexpr uint32_t kBufferItems = 1024;

    bool Setup(TStep step) override;
    uint32_t Wait(TStop stop) override;
    bool TakeOverflow() override;
    void Discard() override;
    TStop CreateStop() override;
    void RaiseStop(TStop stop) override;
    void CloseStop(TStop stop) override;

private:
    uint32_t Drain();

    void* m_Event = nullptr;
    IDirectInput8W* m_Input = nullptr;
    IDirectInputDevice8W* m_Device = nullptr;
    bool m_Buffered = false;
    bool m_Overflowed = false;
    bool m_HaveSequence = false;
    uint32_t m_LastSequence = 0;
};
