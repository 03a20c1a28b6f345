// No window system natively: the refill benchmark measures the load only.
#include "refill_target.h"

namespace tovanel::bench {

std::unique_ptr<RefillTarget> MakeRefillTarget(store::RecordStore&, const std::string&) {
    return nullptr;
}

}  // namespace tovanel::bench
