#pragma once
#include "platform/MouseEvents.h"

struct IDirectInput8W;
struct IDirectInputDevice8W;

// DirectInput 8 notifications of the system mouse (all mice together).
class TWin32Mouse : public IMouseEvents {
public:
    bool Setup(TStep step) override;
    TWait Wait(TStop stop) override;
    void ResetNotification() override;
    TStop CreateStop() override;
    void RaiseStop(TStop stop) override;
    void CloseStop(TStop stop) override;

private:
    void* m_Event = nullptr;
    IDirectInput8W* m_Input = nullptr;
    IDirectInputDevice8W* m_Device = nullptr;
};
