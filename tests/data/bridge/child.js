// The parent asks this frame to navigate; the navigation starts inside the frame.
window.addEventListener('message', function (event) {
    if (typeof event.data === 'string')
        location.href = event.data;
});
