#include "platform/win32/Win32wmi.h"

#include <windows.h>
#include <oleauto.h>
#include <wbemidl.h>

#include "platform/win32/Wide.h"
#include "sys/Bytes.h"

namespace {
// The WBEM administrative locator.
const CLSID kAdministrativeLocator = {0xCB8555CC, 0x9128, 0x11D1, {0xAD, 0x9B, 0x00, 0xC0, 0x4F, 0xD8, 0xFD, 0xFF}};

template <class T>
void Release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

TWmiValue Convert(VARIANT& value) {
    TWmiValue result;
    const VARTYPE type = V_VT(&value);
    if (type == VT_NULL) {
        result.Kind = TWmiValue::TKind::Null;
    } else if (type == VT_BSTR || type == VT_I2 || type == VT_I4 || type == VT_UI1) {
        VARIANT text;
        VariantInit(&text);
        if (SUCCEEDED(VariantChangeTypeEx(&text, &value, GetThreadLocale(), 0, VT_BSTR)) && V_BSTR(&text)) {
            result.Kind = TWmiValue::TKind::Text;
            result.Text = ToUtf8(std::wstring(V_BSTR(&text), SysStringLen(V_BSTR(&text))));
        }
        VariantClear(&text);
    } else if (type == VT_BOOL) {
        result.Kind = TWmiValue::TKind::Boolean;
        result.Flag = V_BOOL(&value) != 0;
    } else if ((type & VT_ARRAY) && V_ARRAY(&value)) {
        SAFEARRAY* array = V_ARRAY(&value);
        LONG lower = 0, upper = -1;
        SafeArrayGetLBound(array, 1, &lower);
        SafeArrayGetUBound(array, 1, &upper);
        const UINT size = SafeArrayGetElemsize(array);
        result.Kind = TWmiValue::TKind::Array;
        std::vector<uint8_t> element(size < 4 ? 4 : size);
        for (LONG i = lower; i <= upper && (type & ~VT_ARRAY) != VT_BSTR && (type & ~VT_ARRAY) != VT_VARIANT; ++i) {
            std::fill(element.begin(), element.end(), 0);
            if (FAILED(SafeArrayGetElement(array, &i, element.data()))) break;
            result.Items.push_back(bytes::Get32(element.data()));
        }
    }
    return result;
}
}  // namespace

bool TWin32Wmi::Query(const std::string& nameSpace, const std::string& query, std::vector<TWmiRow>& rows) {
    // Balanced: only an initialisation that succeeded here is undone here.
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool uninitialise = SUCCEEDED(init);
    HRESULT security = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                            RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    if (FAILED(security) && security != RPC_E_TOO_LATE) {
        if (uninitialise) CoUninitialize();
        return false;
    }
    IWbemLocator* locator = nullptr;
    IWbemServices* services = nullptr;
    IEnumWbemClassObject* enumerator = nullptr;
    bool ran = false;
    if (SUCCEEDED(CoCreateInstance(kAdministrativeLocator, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                   IID_IWbemLocator, reinterpret_cast<void**>(&locator)))) {
        BSTR space = SysAllocString(ToWide(nameSpace).c_str());
        if (SUCCEEDED(locator->ConnectServer(space, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services))) {
            BSTR language = SysAllocString(L"WQL");
            BSTR text = SysAllocString(ToWide(query).c_str());
            if (SUCCEEDED(services->ExecQuery(language, text, WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, &enumerator))) {
                ran = true;
                enumerator->Reset();
                for (;;) {
                    IWbemClassObject* object = nullptr;
                    ULONG returned = 0;
                    HRESULT next = enumerator->Next(WBEM_INFINITE, 1, &object, &returned);
                    if (next == WBEM_S_FALSE || returned == 0 || !object) {
                        Release(object);
                        break;
                    }
                    SAFEARRAY* names = nullptr;
                    TWmiRow row;
                    if (SUCCEEDED(object->GetNames(nullptr, 0x70, nullptr, &names)) && names) {
                        LONG lower = 0, upper = -1;
                        SafeArrayGetLBound(names, 1, &lower);
                        SafeArrayGetUBound(names, 1, &upper);
                        for (LONG i = lower; i <= upper; ++i) {
                            BSTR name = nullptr;
                            if (FAILED(SafeArrayGetElement(names, &i, &name)) || !name) continue;
                            VARIANT value;
                            VariantInit(&value);
                            TWmiValue converted;
                            if (SUCCEEDED(object->Get(name, 0, &value, nullptr, nullptr))) converted = Convert(value);
                            row[ToUtf8(std::wstring(name, SysStringLen(name)))] = converted;
                            VariantClear(&value);
                            SysFreeString(name);
                        }
                        SafeArrayDestroy(names);
                    }
                    if (!row.empty()) rows.push_back(std::move(row));
                    Release(object);
                }
            }
            SysFreeString(text);
            SysFreeString(language);
        }
        SysFreeString(space);
    }
    Release(enumerator);
    Release(services);
    Release(locator);
    if (uninitialise) CoUninitialize();
    return ran;
}
