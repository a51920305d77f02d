#include "platform/win32/iconic_painting.h"

namespace userdb::win32 {

POINT CentredIconOrigin(const RECT& client, int iconWidth, int iconHeight) {
  const LONG clientWidth = client.right - client.left;
  const LONG clientHeight = client.bottom - client.top;
  return {(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}

void PaintIconic(HWND window, HICON icon) {
  PAINTSTRUCT paint;
  const HDC context = BeginPaint(window, &paint);
  SendMessageA(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(context), 0);
  RECT client;
  GetClientRect(window, &client);
  const POINT origin = CentredIconOrigin(client, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
  DrawIcon(context, origin.x, origin.y, icon);
  EndPaint(window, &paint);
}

}  // namespace userdb::win32
