#include "ini/file_layer.h"

namespace swl {

std::string TempNameFor(std::string_view name) {
    std::string temp(name);
    temp += ".tmp";
    return temp;
}

bool WriteFileAtomically(FileLayer& files, std::string_view name, std::string_view bytes) {
    const std::string temp = TempNameFor(name);
    if (files.WriteAll(temp, bytes) && files.Replace(temp, name)) return true;
    files.Remove(temp);
    return false;
}

}  // namespace swl
