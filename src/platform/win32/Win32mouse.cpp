#include "platform/win32/Win32mouse.h"

#define DIRECTINPUT_VERSION 0x0800
#include <windows.h>
#include <dinput.h>

namespace {
HANDLE ToHandle(IMouseEvents::TStop stop) { return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(stop)); }
}

bool TWin32Mouse::Setup(TStep step) {
    switch (step) {
        case TStep::Event:
            m_Event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
            return m_Event != nullptr;
        case TStep::Input:
            return SUCCEEDED(DirectInput8Create(GetModuleHandleW(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8W,
                                                reinterpret_cast<void**>(&m_Input), nullptr));
        case TStep::Device:
            return m_Input && SUCCEEDED(m_Input->CreateDevice(GUID_SysMouse, &m_Device, nullptr));
        case TStep::DataFormat:
            return m_Device && SUCCEEDED(m_Device->SetDataFormat(&c_dfDIMouse));
        case TStep::Notification:
            return m_Device && m_Event && SUCCEEDED(m_Device->SetEventNotification(m_Event));
        case TStep::Acquire:
            return m_Device && SUCCEEDED(m_Device->Acquire());
    }
    return false;
}

IMouseEvents::TWait TWin32Mouse::Wait(TStop stop) {
    HANDLE handles[2] = {m_Event, ToHandle(stop)};
    DWORD count = stop != 0 ? 2 : 1;
    if (!m_Event) {
        // Without its event the device never notifies: only the stop can end the wait.
        if (stop == 0) {
            Sleep(INFINITE);
        }
        WaitForSingleObject(ToHandle(stop), INFINITE);
        return TWait::Stopped;
    }
    DWORD result = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
    return result == WAIT_OBJECT_0 ? TWait::Notified : TWait::Stopped;
}

void TWin32Mouse::ResetNotification() {
    if (m_Event) ResetEvent(m_Event);
}

IMouseEvents::TStop TWin32Mouse::CreateStop() {
    return static_cast<TStop>(reinterpret_cast<uintptr_t>(CreateEventW(nullptr, TRUE, FALSE, nullptr)));
}

void TWin32Mouse::RaiseStop(TStop stop) {
    if (stop != 0) SetEvent(ToHandle(stop));
}

void TWin32Mouse::CloseStop(TStop stop) {
    if (stop != 0) CloseHandle(ToHandle(stop));
}
