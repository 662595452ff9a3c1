#include "base/Exception.h"

#include <new>

namespace ostrel {

ErrorDescription DescribeCurrentException()
{
    try {
        throw;
    } catch (const EOSError& error) {
        return {error.ClassName(), error.Message(), error.Call()};
    } catch (const Exception& error) {
        return {error.ClassName(), error.Message(), ""};
    } catch (const std::bad_alloc&) {
        return {"EOutOfMemory", "Out of memory", ""};
    } catch (const std::exception& error) {
        return {"Exception", error.what(), ""};
    } catch (...) {
        return {"Exception", "Unknown error", ""};
    }
}

std::string ErrorDescription::LoggedMessage() const
{
    return call.empty() ? message : message + "\r\nFailed call: " + call;
}

}  // namespace ostrel
