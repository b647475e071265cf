#include "app/save_names.h"

#include "base/name_ending.h"

namespace ovek {

PictureSaveName pictureSaveName(const std::string& chosen)
{
    PictureSaveName name;
    if (pictureFormatOfName(chosen, &name.format)) {
        name.path = chosen;
    } else {
        name.path = chosen + ".bmp";
        name.format = PictureFormat::BMP;
    }
    return name;
}

std::string modelSaveName(const std::string& chosen)
{
    // ".3ds" is read but not written: such a name gets ".om" too, or the
    // program's own file would be refused as a broken 3DS file.
    for (const char* ending : {".om", ".obj", ".stl", ".ply"})
        if (endsWithNoCase(chosen, ending))
            return chosen;
    return chosen + ".om";
}

}  // namespace ovek
