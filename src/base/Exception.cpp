#include "base/Exception.h"

#include <new>

namespace ostrel {

ErrorDescription DescribeCurrentException()
{
    try {
        throw;
    } catch (const Exception& error) {
        return {error.ClassName(), error.Message()};
    } catch (const std::bad_alloc&) {
        return {"EOutOfMemory", "Out of memory"};
    } catch (const std::exception& error) {
        return {"Exception", error.what()};
    } catch (...) {
        return {"Exception", "Unknown error"};
    }
}

}  // namespace ostrel
