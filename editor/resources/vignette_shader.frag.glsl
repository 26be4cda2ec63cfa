#ifdef GL_ES
precision mediump float;
#endif

void main()
{
    vec4 topColour = vec4 (0.25, 0.25, 0.25, 1.0);
    vec4 bottomColour = vec4 (0.0, 0.0, 0.0, 1.0);

    if (mod (pixelPos.y, 10.0) <= 1.0 && mod (pixelPos.x, 10.0) <= 1.0)
    {
        gl_FragColor = vec4 (0.2, 0.2, 0.2, 1.0);
    }
    else
    {
        float t = pixelPos.y / 300.0;
        gl_FragColor = pixelAlpha * ((1.0 - t) * topColour + t * bottomColour);
    }
}
