#include "app/status_note.h"

#include <filesystem>

#include "app/screens.h"
#include "base/translation.h"
#include "image/image.h"
#include "mesh/component3d.h"

namespace ovek {

namespace {

// Between the design's title and the note.
const char kNoteSeparator[] = "  \xe2\x80\x94  ";   // an em dash

std::string nameOf(const std::string& path)
{
    const std::string name = std::filesystem::path(path).filename().string();
    return name.empty() ? path : name;
}

}  // namespace

std::string pictureNote(FileDeed deed, const std::string& path, int width, int height)
{
    const std::string w = std::to_string(width), h = std::to_string(height);
    // TRANSLATORS: a file's name, then its width and height in pixels.
    return deed == FileDeed::Opened ? trFormat("Opened %s (%s x %s)", nameOf(path), w, h)
                                    : trFormat("Saved %s (%s x %s)", nameOf(path), w, h);
}

std::string meshNote(FileDeed deed, const std::string& path, const Component3D& mesh)
{
    const std::string p = std::to_string(mesh.points.size()), f = std::to_string(mesh.faces.size());
    // TRANSLATORS: a file's name, then how many points and faces its model has.
    return deed == FileDeed::Opened ? trFormat("Opened %s (%s points, %s faces)", nameOf(path), p, f)
                                    : trFormat("Saved %s (%s points, %s faces)", nameOf(path), p, f);
}

std::string failureNote(FileDeed deed, const std::string& path)
{
    return deed == FileDeed::Opened ? trFormat("Cannot open %s", nameOf(path))
                                    : trFormat("Cannot save %s", nameOf(path));
}

std::string Screens::titleText() const
{
    return statusNote.empty() ? mainTitle() : mainTitle() + kNoteSeparator + statusNote;
}

void Screens::setStatusNote(const std::string& note)
{
    statusNote = note;
    platform.setTitle(titleText().c_str());
}

}  // namespace ovek
