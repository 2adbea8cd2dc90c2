<!--#include virtual="comune.inc"-->
<!--#include virtual="membri.inc"-->
<%
// The signed-in customer's other delivery addresses.
var collegato = area.ControlloUtenteCollegato();
var destinatari = [];
if (area.ApriElencoDestinatariCliente()) {
    do {
        var riga = {};
        for (var c = 0; c < campiMembro.length; ++c)
            riga[campiMembro[c].nome] = String(area[campiMembro[c].nome + "Destinatario"]);
        destinatari.push(riga);
    } while (area.LeggiDestinatarioClienteSuccessivo());
    area.ChiudiElencoDestinatariCliente();
}
var paginaCorrente = "/destinatari.asp";
var titoloPagina = T("PMTDESTINATARI", "I miei destinatari");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione destinatari">
  <h1><%= H(titoloPagina) %></h1>
<% if (!collegato) { %>
  <p class="avviso" id="accesso-richiesto"><%= H(T("PMTACCEDIPERPROFILO", "Accedi per vedere e cambiare i tuoi dati.")) %></p>
  <p><a class="bottone" href="/accesso.asp"><%= H(T("PMTACCEDI", "Accedi")) %></a></p>
<% } else if (destinatari.length === 0) { %>
  <p class="avviso" id="nessun-destinatario"><%= H(T("PMTNESSUNDESTINATARIO", "Non hai altri indirizzi di consegna.")) %></p>
<% } else { %>
  <ul class="elenco-destinatari" id="elenco-destinatari">
<%   for (var i = 0; i < destinatari.length; ++i) {
         var d = destinatari[i]; %>
    <li class="destinatario">
      <strong><%= H(d.RagioneSociale !== "" ? d.RagioneSociale : d.Cognome + " " + d.Nome) %></strong><br>
      <%= H(d.Indirizzo) %><br><%= H(d.Cap) %> <%= H(d.Localita) %><%= d.Provincia !== "" ? " (" + H(d.Provincia) + ")" : "" %><br><%= H(d.Stato) %>
<%       if (d.Telefono !== "") { %><br><%= H(T("PMTTELEFONO", "Telefono")) %>: <%= H(d.Telefono) %><% } %>
    </li>
<%   } %>
  </ul>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% area.Free(); %>
