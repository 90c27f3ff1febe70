#pragma once

// Reading back the pictures crossgen writes: a file's bytes, and a PNG's pixels.

#include "platform/Surface.h"

#include <cairo.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

inline std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The pixels of a PNG file, red in bits 16..23; an empty image when it cannot be read.
inline TDIB ReadPng(const std::string& path) {
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    TDIB image;
    if (cairo_surface_status(png) == CAIRO_STATUS_SUCCESS) {
        image = TDIB(cairo_image_surface_get_width(png), cairo_image_surface_get_height(png));
        const unsigned char* data = cairo_image_surface_get_data(png);
        const int stride = cairo_image_surface_get_stride(png);
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                image.SetPixel(x, y, reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFFFFFF);
    }
    cairo_surface_destroy(png);
    return image;
}

// True when the image shows a drawing: a dark pixel (lines, letters) beside a light one (paper).
inline bool ShowsADrawing(const TDIB& image) {
    bool dark = false, light = false;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const TColor32 pixel = image.Pixel(x, y);
            const int brightness = (pixel >> 16 & 0xFF) + (pixel >> 8 & 0xFF) + (pixel & 0xFF);
            dark = dark || brightness < 3 * 0x40;
            light = light || brightness > 3 * 0xC0;
        }
    return dark && light;
}
