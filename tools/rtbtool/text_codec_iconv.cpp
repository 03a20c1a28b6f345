// iconv-based converters for builds outside Windows.
#include <iconv.h>

#include <cerrno>

#include "text_codec_os.h"

namespace tovanel::rtbtool::os {
namespace {

// Owns one iconv descriptor.
class Iconv {
  public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (valid()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    bool Convert(const std::string& in, std::string* out) {
        out->clear();
        char* src = const_cast<char*>(in.data());
        size_t src_left = in.size();
        char buffer[1024];
        while (src_left > 0) {
            char* dst = buffer;
            size_t dst_left = sizeof buffer;
            const size_t r = iconv(cd_, &src, &src_left, &dst, &dst_left);
            out->append(buffer, static_cast<size_t>(dst - buffer));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
            // glibc counts irreversible conversions in r; refuse them too.
            if (r != static_cast<size_t>(-1) && r > 0) return false;
        }
        return true;
    }

  private:
    iconv_t cd_;
};

bool Run(const char* to, const char* from, const std::string& in, std::string* out) {
    Iconv cd(to, from);
    return cd.valid() && cd.Convert(in, out);
}

}  // namespace

bool StrictUtf8ToGbk(const std::string& utf8, std::string* gbk) {
    return Run("GBK", "UTF-8", utf8, gbk);
}

bool StrictGbkToUtf8(const std::string& gbk, std::string* utf8) {
    return Run("UTF-8", "GBK", gbk, utf8);
}

}  // namespace tovanel::rtbtool::os
