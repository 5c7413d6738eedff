#include "app/help_notes.h"

namespace sf::app {

const char kGifNotes[] =
    "Please note:\n\n- The Animate GIF created by Slideforge will be encoded correctly to match the desired frame "
    "rate. However, please keep in mind that most GIF viewers do not animate the frames for a GIF at the correct "
    "speed. (i.e. Internet Explorer will animate at a different frame rate than Firefox. Firefox is more correct "
    "than Internet Explorer, but is still off. Apple QuickTime plays at the correct speed if opened as a movie file, "
    "but you have to tell it the frame rate to play at. Windows Media player, no surprise, does not work.)\n\n- The "
    "animated GIF is created in memory before any part of it is saved to the hard drive. Therefore, the size the GIF "
    "animation is limited to the resources available on your computer. Note that Win XP limits the amount of RAM "
    "for each application to 2GB. This limitation maxes out the GIF file size to about 200 to 300 megabytes. The "
    "format of the GIF file itself is not limited (like the standard AVI is).\n\n- The standard GIF format is "
    "limited to a color depth of 8 bits (256 colors). There are ways to manipulate GIF's to 24 bits (16.7 million "
    "colors) and some programs will read those GIF's, but this software does not support this at this time.\n\n- "
    "The recommended max frames per second for a GIF is 100FPS. You can go higher, but this will result in some "
    "frames having a delay of 0 milliseconds.\n";

const char kResizeNotes[] =
    "- Use the 'Standard' resize option when the images are being resized to a larger size.\n\n- Use the 'Smooth' "
    "resize option when the images are being resized to a smaller size. This method is slightly slower.\n\nNOTE: "
    "Both resize options will look close to the same when resizing a picture to a larger size.\n";

const char kTransparencyNotes[] =
    "- If 'None' is selected, then the GIF will not be transparent.\n\n- If 'Top left pixel' or 'Bottom left pixel' "
    "is used, then the gif will be transparent with a transparent color of the selected location.\n\n";

}  // namespace sf::app
