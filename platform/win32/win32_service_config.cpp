// The configuration query of Win32System: QueryServiceConfigW, then QueryServiceConfig2W for the
// delayed automatic start and the triggers, each with a buffer grown to what the manager asks for.
// Only the rights a query takes are asked for, so it answers where full access would be refused.
#include <windows.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "platform/service_access.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"

namespace {

// The head of SERVICE_TRIGGER_INFO (Windows 7 and later; not in every toolchain's headers).
struct TriggerInfoHead {
    DWORD cTriggers;
    void* pTriggers;
    BYTE* pReserved;
};

// Calls query(buffer, size, needed) until the buffer holds the answer: a few times, as the
// configuration may grow between two calls. Null when the call fails otherwise; the error is
// then GetLastError's.
template <typename Query>
std::unique_ptr<BYTE[]> QueryGrowing(Query query) {
    DWORD size = 8192;  // QueryServiceConfig's most, by its documentation: one call does
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[size]());
        if (!buffer) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        DWORD needed = 0;
        if (query(buffer.get(), size, needed)) {
            return buffer;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= size) {
            return nullptr;
        }
        size = needed;
    }
    return nullptr;
}

// lpDependencies: names one after another, each ended by a NUL, the list by a second one; a
// group's name begins with SC_GROUP_IDENTIFIERW.
void SplitDependencies(const wchar_t* list, ServiceConfigAnswer& answer) {
    for (const wchar_t* name = list; name && *name; name += wcslen(name) + 1) {
        if (*name == SC_GROUP_IDENTIFIERW) {
            answer.dependOnGroup.push_back(NarrowText(name + 1));
        } else {
            answer.dependOnService.push_back(NarrowText(name));
        }
    }
}

void QueryConfig(SC_HANDLE service, ServiceConfigAnswer& answer) {
    std::unique_ptr<BYTE[]> buffer =
        QueryGrowing([service](BYTE* bytes, DWORD size, DWORD& needed) {
            return QueryServiceConfigW(service, reinterpret_cast<QUERY_SERVICE_CONFIGW*>(bytes),
                                       size, &needed) != FALSE;
        });
    if (!buffer) {
        return;
    }
    const auto* config = reinterpret_cast<const QUERY_SERVICE_CONFIGW*>(buffer.get());
    answer.config = true;
    answer.binaryPath = NarrowText(config->lpBinaryPathName);
    answer.account = NarrowText(config->lpServiceStartName);
    answer.errorControl = config->dwErrorControl;
    SplitDependencies(config->lpDependencies, answer);
}

// One level of QueryServiceConfig2W, or null when the manager does not answer it.
std::unique_ptr<BYTE[]> QueryConfig2(SC_HANDLE service, DWORD level) {
    return QueryGrowing([service, level](BYTE* bytes, DWORD size, DWORD& needed) {
        return QueryServiceConfig2W(service, level, bytes, size, &needed) != FALSE;
    });
}

// The manager, open for the pass. A level of QueryServiceConfig2W that the manager does not know
// (Wine's knows neither) is not asked again in the pass: each question is a round trip.
class Win32ConfigQuery : public ServiceConfigQuery {
public:
    uint32_t Open() {
        manager_.Reset(OpenSCManagerW(nullptr, nullptr, kConfigQueryManagerAccess));
        return manager_ ? 0 : GetLastError();
    }

    uint32_t Query(const std::u16string& serviceName, ServiceConfigAnswer& answer) override {
        answer = ServiceConfigAnswer();
        ScHandle service(OpenServiceW(manager_.Get(), WideChars(serviceName), kConfigQueryAccess));
        if (!service) {
            return GetLastError();
        }
        QueryConfig(service.Get(), answer);
        if (std::unique_ptr<BYTE[]> delayed =
                Level(service.Get(), SERVICE_CONFIG_DELAYED_AUTO_START_INFO, delayedUnknown_)) {
            answer.delayedKnown = true;
            answer.delayed = reinterpret_cast<const SERVICE_DELAYED_AUTO_START_INFO*>(delayed.get())
                                 ->fDelayedAutostart != FALSE;
        }
        if (std::unique_ptr<BYTE[]> triggers =
                Level(service.Get(), SERVICE_CONFIG_TRIGGER_INFO, triggersUnknown_)) {
            answer.triggersKnown = true;
            answer.triggers =
                reinterpret_cast<const TriggerInfoHead*>(triggers.get())->cTriggers > 0;
        }
        return 0;
    }

private:
    static std::unique_ptr<BYTE[]> Level(SC_HANDLE service, DWORD level, bool& unknown) {
        if (unknown) {
            return nullptr;
        }
        std::unique_ptr<BYTE[]> answer = QueryConfig2(service, level);
        unknown = !answer && GetLastError() == ERROR_INVALID_LEVEL;
        return answer;
    }

    ScHandle manager_;
    bool delayedUnknown_ = false;
    bool triggersUnknown_ = false;
};

}  // namespace

uint32_t Win32System::OpenConfigQuery(std::unique_ptr<ServiceConfigQuery>& query) {
    query.reset();
    std::unique_ptr<Win32ConfigQuery> opened(new (std::nothrow) Win32ConfigQuery);
    if (!opened) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    const uint32_t error = opened->Open();
    if (error == 0) {
        query = std::move(opened);
    }
    return error;
}
