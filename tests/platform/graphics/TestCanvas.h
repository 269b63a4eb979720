// A pixel buffer backed by a vector for the painter tests, with helpers to read it back.
#ifndef _TEST_CANVAS_H
#define _TEST_CANVAS_H

#include <set>
#include <string>
#include <vector>

#include <PixelBuffer.h>

struct TestCanvas {
	// Rows are padded by `padding` bytes, so writes past a row's end show up.
	TestCanvas(int32 width, int32 height, graphics::Color fill = graphics::Color(0, 0, 0, 255),
	           int32 padding = 8)
	    : bytes((size_t)(width * 4 + padding) * height, 0xee),
	      buffer(bytes.data(), width, height, width * 4 + padding)
	{
		for (int32 y = 0; y < height; y++) {
			for (int32 x = 0; x < width; x++)
				buffer.SetColorAt(x, y, fill);
		}
	}

	graphics::Color At(int32 x, int32 y) const { return buffer.ColorAt(x, y); }

	// The canvas as rows of characters: '#' where the pixel equals `ink`, '.' elsewhere.
	std::string Picture(graphics::Color ink) const
	{
		std::string out;
		for (int32 y = 0; y < buffer.height; y++) {
			for (int32 x = 0; x < buffer.width; x++)
				out += At(x, y) == ink ? '#' : '.';
			out += '\n';
		}
		return out;
	}

	int32 Count(graphics::Color color) const
	{
		int32 count = 0;
		for (int32 y = 0; y < buffer.height; y++) {
			for (int32 x = 0; x < buffer.width; x++)
				count += At(x, y) == color;
		}
		return count;
	}

	// The bounding box of the pixels that differ from `background`.
	graphics::IntRect InkBounds(graphics::Color background) const
	{
		graphics::IntRect box(buffer.width, buffer.height, -1, -1);
		for (int32 y = 0; y < buffer.height; y++) {
			for (int32 x = 0; x < buffer.width; x++) {
				if (At(x, y) != background) {
					box.left = std::min(box.left, x);
					box.top = std::min(box.top, y);
					box.right = std::max(box.right, x);
					box.bottom = std::max(box.bottom, y);
				}
			}
		}
		return box;
	}

	// The distinct values of one channel over the canvas.
	std::set<uint8> RedValues() const
	{
		std::set<uint8> values;
		for (int32 y = 0; y < buffer.height; y++) {
			for (int32 x = 0; x < buffer.width; x++)
				values.insert(At(x, y).red);
		}
		return values;
	}

	// True when every padding byte still holds its initial value.
	bool PaddingIntact() const
	{
		for (int32 y = 0; y < buffer.height; y++) {
			for (int32 i = buffer.width * 4; i < buffer.bytesPerRow; i++) {
				if (bytes[(size_t)y * buffer.bytesPerRow + i] != 0xee)
					return false;
			}
		}
		return true;
	}

	std::vector<uint8> bytes;
	graphics::PixelBuffer buffer;
};

#endif
