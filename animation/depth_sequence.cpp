#include "animation/depth_sequence.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <mutex>
#include <thread>

#include "animation/numbered_name.h"
#include "base/name_ending.h"
#include "engine/worker_pool.h"

namespace ovek {

namespace {

const char* const kPictureEndings[] = {".bmp", ".png", ".jpg", ".jpeg", ".gif",
                                       ".pgm", ".ppm", ".pnm", ".psd"};

bool isPictureName(const std::string& name)
{
    for (const char* ending : kPictureEndings)
        if (endsWithNoCase(name, ending))
            return true;
    return false;
}

// Digit runs compare by their value, so frame2 comes before frame10.
bool naturalLess(const std::string& a, const std::string& b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i]));
        const bool db = std::isdigit(static_cast<unsigned char>(b[j]));
        if (da && db) {
            size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            // Leading zeros do not count; then the longer run is the larger number.
            std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
            na.erase(0, std::min(na.find_first_not_of('0'), na.size()));
            nb.erase(0, std::min(nb.find_first_not_of('0'), nb.size()));
            if (na.size() != nb.size())
                return na.size() < nb.size();
            if (na != nb)
                return na < nb;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j || (a.size() - i == b.size() - j && a < b);
}

FileResult numberedFiles(const std::string& name, std::vector<std::string>& files)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    int first = 0;
    if (!fs::exists(numberedName(name, first), ec))
        ++first;
    for (int k = first; files.size() < kMaxSequenceFrames; ++k) {
        const std::string file = numberedName(name, k);
        if (!fs::exists(file, ec))
            break;
        files.push_back(file);
    }
    if (files.empty())
        return FileResult::failure("no file is numbered so (from 0 or 1)");
    return FileResult::success();
}

FileResult folderFiles(const std::string& folder, std::vector<std::string>& files)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<std::string> names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (isPictureName(name) && it->is_regular_file(ec))
            names.push_back(name);
        if (names.size() > kMaxSequenceFrames)
            return FileResult::failure("the folder holds more than " +
                                       std::to_string(kMaxSequenceFrames) + " pictures");
    }
    if (ec)
        return FileResult::failure("cannot list the folder: " + ec.message());
    if (names.empty())
        return FileResult::failure("the folder holds no picture (" + std::string(".bmp, .png, ") +
                                   ".jpg, .gif, .pgm, .ppm, .pnm or .psd)");
    std::sort(names.begin(), names.end(), naturalLess);
    for (const std::string& n : names)
        files.push_back((fs::path(folder) / n).string());
    return FileResult::success();
}

}  // namespace

FileResult depthSequenceFiles(const std::vector<std::string>& names,
                              std::vector<std::string>& files)
{
    files.clear();
    if (names.size() > kMaxSequenceFrames)
        return FileResult::failure("more than " + std::to_string(kMaxSequenceFrames) + " frames");
    std::error_code ec;
    if (names.size() == 1 && isNumberedName(names[0]) &&
        !std::filesystem::exists(names[0], ec))
        return numberedFiles(names[0], files);
    if (names.size() == 1 && std::filesystem::is_directory(names[0], ec))
        return folderFiles(names[0], files);
    files = names;
    return FileResult::success();
}

DepthSequence::DepthSequence(std::vector<std::string> files, int width, int height)
    : files_(std::move(files)), width_(width), height_(height), resample_(width > 0 && height > 0)
{
}

SequenceProblem DepthSequence::check(int threads)
{
    std::vector<SequenceProblem> found(files_.size());
    std::vector<std::pair<int, int>> sizes(files_.size());
    std::atomic<size_t> next{0};
    // Once a file fails, later files need not be read: the first in order is told.
    std::atomic<size_t> firstBad{files_.size()};
    auto work = [&] {
        for (size_t k; (k = next++) < files_.size() && k < firstBad;) {
            GreyPicture depth;
            // A picture read in part would show as a broken frame: refused as well.
            if (FileResult r = loadGreyPicture(files_[k], depth); !r || !r.warning.empty()) {
                found[k] = {SequenceProblem::Unreadable, files_[k], r ? r.warning : r.error};
                for (size_t seen = firstBad; k < seen && !firstBad.compare_exchange_weak(seen, k);)
                    ;
            }
            sizes[k] = {depth.width, depth.height};
        }
    };
    const int n = std::max(1, std::min(threads > 0 ? threads : WorkerPool::coreCount(),
                                       int(files_.size())));
    std::vector<std::thread> helpers;
    for (int t = 1; t < n; ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread& t : helpers)
        t.join();

    for (size_t k = 0; k < files_.size(); ++k) {
        if (found[k].kind != SequenceProblem::None)
            return found[k];
        if (resample_)
            continue;
        if (k == 0) {
            width_ = sizes[0].first;
            height_ = sizes[0].second;
        } else if (sizes[k] != sizes[0]) {
            return {SequenceProblem::MixedSizes, files_[k],
                    std::to_string(sizes[k].first) + " x " + std::to_string(sizes[k].second) +
                        " where " + files_[0] + " is " + std::to_string(width_) + " x " +
                        std::to_string(height_)};
        }
    }
    GreyPicture shape;
    if (FileResult r = checkProduction(sizeOnlyInput(shape)); !r)
        return {SequenceProblem::TooLarge, files_.empty() ? "" : files_[0], r.error};
    return {};
}

ProductionInput DepthSequence::sizeOnlyInput(GreyPicture& shape) const
{
    shape.width = width_;
    shape.height = height_;
    ProductionInput in;
    in.modelType = MODEL_TYPE_IMAGE;
    in.depthGrey = &shape;
    return in;
}

void DepthSequence::frameSize(int& width, int& height) const
{
    GreyPicture shape;
    resultSize(sizeOnlyInput(shape), width, height);
}

FileResult DepthSequence::depthOf(int frame, FrameDepth& holder, ProductionInput& in) const
{
    // As "pexolen produce --depth" reads it: 16-bit pictures at full precision.
    if (FileResult r = loadGreyPicture(files_[size_t(frame)], holder.depth, true); !r)
        return r;
    else if (!r.warning.empty())
        return FileResult::failure(r.warning);
    if (!resample_ && (holder.depth.width != width_ || holder.depth.height != height_))
        return FileResult::failure("its size changed while the frames were made");
    in.modelType = MODEL_TYPE_IMAGE;
    in.mesh = nullptr;
    in.depthPicture = nullptr;
    in.depthGrey = &holder.depth;
    // The production resamples, as it does for --depth with --size.
    in.depthWidth = resample_ ? width_ : 0;
    in.depthHeight = resample_ ? height_ : 0;
    return FileResult::success();
}

}  // namespace ovek
