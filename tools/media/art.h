// The drawing of the patient pictures: the seven patients on the floor, and what the rescuer puts
// on them. Everything is drawn in the coordinates of the 425 x 425 patient view; a picture for a
// high-density screen is the same drawing at twice the pixels (scale 2).
#pragma once
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <functional>

namespace media {

inline constexpr int kView = 425;

enum class Hair { Short, Receding, Bald, Curly, Child };
enum class Floor { Linoleum, Wood };

// One patient: where his body lies in the view and how he looks.
struct Person {
    int set = 0;
    bool child = false;
    double cx = 0;            // the body's middle line
    double shoulderY = 0;     // the line of the shoulders
    double shoulderHalf = 0;  // half the width across the shoulders
    double waistHalf = 0;
    double neckHalf = 0;
    double headY = 0;  // the middle of the face, head tilted back
    double headRx = 0;
    double headRy = 0;
    double belt = 0;  // the top of the trousers
    double armWidth = 0;
    QColor skin, hair, lips, shirt, trousers;
    Hair hairStyle = Hair::Short;
    Floor floor = Floor::Linoleum;
    bool longSleeves = true;
    bool collar = true;
    bool beard = false;
    bool moustache = false;
    bool wrinkles = false;
    QRectF whitePad;  // where the pads lie (the side pad's box before it is turned)
    QRectF sidePad;
};

const Person& PersonOf(int set);

// The face's points, in the view; the chin-down pose moves them towards the chest.
double ChinY(const Person& m, bool tilted);
double FaceY(const Person& m, double k, bool tilted);  // the point k half-heights below the middle
QPointF Mouth(const Person& m, bool tilted);
QPointF NeckSide(const Person& m);
QPointF ChestCentre(const Person& m);
// Where the heel of the hand presses: on the lower half of the breastbone.
QPointF CompressionPoint(const Person& m);

// Colour helpers.
QColor Shade(const QColor& c, double factor);  // < 1 darker, > 1 lighter
quint32 Hash(quint32 a, quint32 b);

// The patient: the floor, the body and the head (tilted back, or chin down for the closed
// airway).
void DrawFloor(QPainter& p, const Person& m);
void DrawBody(QPainter& p, const Person& m);
void DrawNeck(QPainter& p, const Person& m, bool tilted);
void DrawHead(QPainter& p, const Person& m, bool tilted);
void DrawHairBehind(QPainter& p, const Person& m, bool tilted);
QPainterPath Silhouette(const Person& m);
// blur: how far the shadow spreads, in pixels of the painter's device.
void DrawSoftShadow(QPainter& p, const QPainterPath& shape, QPointF offset, double blur, int alpha);
// The whole view and kMargin around it, at scale pixels per view pixel.
QImage Scene(const Person& m, bool tilted, int scale = 1);
// Draws a scene of the same scale into a painter in view coordinates.
void DrawScene(QPainter& p, const QImage& scene);
QImage Photograph(int set, int scale = 1);  // the photograph as the program draws it

// The rescuer, in blue gloves and a dark uniform.
enum class Grip { Flat, TwoFingers, Curled };
void DrawArm(QPainter& p, QPointF shoulder, QPointF wrist, double width);
void DrawHand(QPainter& p, QPointF wrist, double angle, double size, Grip grip, bool left);
void DrawRescuerHead(QPainter& p, QPointF cheek, double size);

// The equipment.
QPointF MaskCentre(const Person& m);  // where a mask sits on the face, head tilted back
double MaskSize(const Person& m);
QPainterPath MaskShape(QPointF centre, double size, bool pocket);
void DrawFaceMask(QPainter& p, QPointF centre, double size, bool pocket);
// squeezed: a hand presses the bag's middle together.
void DrawBag(QPainter& p, QPointF connector, double angle, double size, bool squeezed);
// Where a hand squeezing the bag holds it: the middle of the bag, in view coordinates.
QPointF BagMiddle(QPointF connector, double angle, double size);
void DrawPad(QPainter& p, const QRectF& box, double angle, const QColor& colour, bool child);
void DrawCable(QPainter& p, const QPainterPath& path);

// The per-set overlays: what each shows, drawn in the view.
enum class Overlay {
    Airway,
    Breath,
    Bag,
    Cpr,
    CprChild,
    BagMask,
    PocketMask,
    Pulse,
    Side,
    Red,
    White
};
void DrawOverlay(QPainter& p, const Person& m, Overlay o, int scale = 1);

// An overlay picture: cut from an object drawn on a transparent canvas in view coordinates.
struct Cut {
    QImage image;  // flat, on pure black
    QPoint seed;   // the seed point inside the picture
};
// The object's canvas: view coordinates shifted by kMargin so that it can reach outside.
inline constexpr int kMargin = 80;
QImage ObjectCanvas(const std::function<void(QPainter&)>& draw, int scale = 1);
enum class SeedRule { Centre, BreathCheck, Fixed };
Cut CutOverlay(const QImage& canvas, QPoint at, SeedRule rule, QPoint fixedSeed, QString* error);
// The same part of the view cut from a canvas drawn at a larger scale: part is in view pixels.
QImage CutScaled(const QImage& canvas, QRect part, int scale);
// The flat picture: pixels of at least half cover take their colour, the rest pure black.
QImage Flatten(const QImage& argb);
// The mask of a common picture: black where the picture covers, white elsewhere.
QImage MaskOf(const QImage& argb);

// Where a per-set picture covers the view: every non-black pixel and the black area around the
// seed.
QImage CoverOf(const QImage& flat, QPoint seed);

// The common pictures, on a transparent canvas of their own size times the scale.
QImage Highlight(int scale = 1);
QImage ShakeHands(int scale = 1);
QImage ShoutBubble(int scale = 1);

// Where the shaking hands' palms lie in the SHAKE picture: the near one and the far one.
QPointF ShakeNearPalm();
QPointF ShakeFarPalm();

// Every picture file the program reads, by its name in lower case, at a scale; written into a
// folder with the copies for high-density screens beside them.
QImage PictureFor(const QString& lower, QString* error, int scale = 1);
int WritePictures(const QString& dir);

// Contact sheets of every set, composed as the program composes the view.
int WritePreview(const QString& outDir);

}  // namespace media
